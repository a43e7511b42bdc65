// An end-to-end test that reaches into the window's widgets.
#include "app/ui/MainWindow.h"
