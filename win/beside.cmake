# Vendaro.exe and its test program, cross-built with MinGW-w64 in a tree of
# their own (windows/ in this build folder) whenever this tree is built, so
# that the tests play the Windows edition of the same sources. Not with the
# sanitizers, which the Windows build has not.
find_program(VENDARO_MINGW i686-w64-mingw32-g++)
if(VENDARO_MINGW AND NOT VENDARO_SANITIZE)
  include(ExternalProject)
  ExternalProject_Add(vendaro_windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${PROJECT_BINARY_DIR}/windows
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/win/toolchain.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
               -DBUILD_TESTING=ON -DVENDARO_WERROR=${VENDARO_WERROR}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
endif()
