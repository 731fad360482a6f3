// The process-wide message stream: standard output, or the -f file while one is open.
#include "front/Messages.h"

#include <cstdarg>

CMessageStream& MsgStream()
{
    static CMessageStream stream;
    return stream;
}

void Msg(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    MsgStream().VPrintf(format, args);
    va_end(args);
}
