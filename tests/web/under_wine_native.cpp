#include "tests/web/test_server.h"

bool under_wine() { return false; }
