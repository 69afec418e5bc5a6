// The entry of vastrel-checkin.exe, a GUI program without a console window. It takes
// nothing from its command line; it ends with exit code 0 once its last window has closed.
#include "app/start.h"

int main() {
    start_program();
    return 0;
}
