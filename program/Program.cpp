#include "program/Program.h"

ProgramRunValues& Program()
{
    static ProgramRunValues values;
    return values;
}
