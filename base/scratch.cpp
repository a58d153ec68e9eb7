#include "base/scratch.h"

#include <stdlib.h>
#include <string.h>

long scratch_name_pid(const char *name)
{
    const size_t prefix = strlen(SCRATCH_PREFIX);
    if (strncmp(name, SCRATCH_PREFIX, prefix) != 0)
        return 0;
    const char *digits = name + prefix;
    if (*digits < '1' || *digits > '9')
        return 0;
    char *end;
    long pid = strtol(digits, &end, 10);
    if (end - digits > 9)   // beyond any system's process ids
        return 0;
    if (*end == '\0' || (*end == '-' && end[1] != '\0'))
        return pid;
    return 0;
}
