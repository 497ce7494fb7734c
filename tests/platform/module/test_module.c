/* A module for the dynamic library tests, loaded as "TestMod32.DLL". */
__attribute__((visibility("default"))) int TestModAnswer(void) { return 42; }
