// velmora-pac: the command-line tool on the room core.
#include <cstdio>

int main()
{
    std::puts("velmora-pac: not yet");
    return 2;
}
