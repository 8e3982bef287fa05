// The base class is all in its header; this file gives it a home for the meta-object code.
#include "shell/child_window.h"
