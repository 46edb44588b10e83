// The library the SharedLibrary tests load.
extern "C" __attribute__((visibility("default"))) int TestLibAnswer() {
    return 42;
}
