// The compiled resource file (scribblet.res), as the build embeds it in the
// program: the bytes from begin up to (not including) end.
#ifndef SCRIBBLET_RES_EMBEDDED_RESOURCES_H
#define SCRIBBLET_RES_EMBEDDED_RESOURCES_H

extern "C" {
extern const unsigned char scribblet_embedded_resources_begin[];
extern const unsigned char scribblet_embedded_resources_end[];
}

#endif // SCRIBBLET_RES_EMBEDDED_RESOURCES_H
