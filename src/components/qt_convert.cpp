#include "qt_convert.h"
