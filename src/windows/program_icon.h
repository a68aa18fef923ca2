#pragma once

#include <QIcon>

// The program icon (32 x 32, 16 colours), shared by the application and its windows.
QIcon ProgramIcon();
