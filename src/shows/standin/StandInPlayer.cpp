// A stand-in for a show player, built only while the real players are absent from the tree, so
// that the packagers have something to embed. It plays nothing.
#include <cstdio>

int main()
{
    std::puts("This Lumora build carries no show player.");
    return 1;
}
