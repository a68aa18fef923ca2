#include "components/qt_convert.h"
