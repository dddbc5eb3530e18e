#include "assets_log.h"

Q_LOGGING_CATEGORY(assetsLog, "vendaro.assets")
