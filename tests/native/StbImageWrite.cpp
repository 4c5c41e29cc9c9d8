// The PNG and JPEG writer the texture tests make their files with (Debian's stb_image_write),
// compiled on its own: its encoder shifts negative numbers, which is its business, not the
// readers', so this file is built without the undefined-behaviour checks.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
