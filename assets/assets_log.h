#pragma once

#include <QLoggingCategory>

// Where a picture or the face that does not load is said, once each: the drill
// starts without it rather than not at all.
Q_DECLARE_LOGGING_CATEGORY(assetsLog)
