// The key readers over arbitrary file content. The first byte gives the length of a key taken
// from the input itself; the rest is the file.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "base/conf_file.h"

static void check_text(const char *value, const char *def)
{
    if (value == def)
        return;
    // A value is never empty, never starts with a control byte (a UTF-8 letter may start it)
    // and never holds a tab or a line feed.
    size_t n = strlen(value);
    if (n == 0 || n >= CONF_LINE_SIZE || (unsigned char)value[0] < 32 || strchr(value, '\t') ||
        strchr(value, '\n'))
        __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t key_len = data[0] % 80;
    if (key_len > size - 1)
        key_len = size - 1;
    char key[96];
    memcpy(key, data + 1, key_len);
    key[key_len] = '\0';
    const uint8_t *text = data + 1 + key_len;
    size_t text_size = size - 1 - key_len;
    if (text_size == 0)
        return 0;

    conf_open_text((const char *)text, text_size);
    const char *def = "default";
    const char *keys[] = { key, "scale", "title", "btn_0_1_0_type", "btnname31", "" };
    for (const char *k : keys) {
        conf_read_int(k, 3);
        check_text(conf_read_string(k, def), def);
    }
    conf_close();
    return 0;
}
