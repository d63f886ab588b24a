// Exits with 1 when this process may show a console, 0 when not.
#include "launch/SessionCheck.h"

int main() { return ostrivan::SessionAllowsConsole() ? 1 : 0; }
