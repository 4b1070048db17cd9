#include <cstdio>

int main() {
    std::fputs("vantrokelmissory: the editor window is not built yet.\n", stderr);
    return 1;
}
