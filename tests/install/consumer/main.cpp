// A program of someone else's, built against the installed LumaBase.
#include <TLumaBase.h>

#include <cstdio>

int main() {
    GUID guid = {0x04030201, 0x0605, 0x0807, {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}};
    char text[39];
    GUID2str(guid, text);
    std::puts(text);
    return 0;
}
