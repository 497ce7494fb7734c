/* A module for the dynamic library tests, loaded as "TestMod32.DLL". */
#include <stdint.h>
__attribute__((visibility("default"))) intptr_t TestModAnswer(void) { return 42; }
