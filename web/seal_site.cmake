# Writes SITE/service_worker.js from TEMPLATE: the list FILES (comma separated) to
# precache, and the build's version, a hash of their names and contents.
string(REPLACE "," ";" files "${FILES}")
set(digests "")
foreach(name IN LISTS files)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name} ${digest}\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 VERSION)
list(TRANSFORM files PREPEND "\"")
list(TRANSFORM files APPEND "\"")
string(REPLACE ";" ", " FILES "${files}")
configure_file(${TEMPLATE} ${SITE}/service_worker.js @ONLY)
