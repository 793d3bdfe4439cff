#include "app/Program.h"

ProgramRunValues& Program()
{
    static ProgramRunValues values;
    return values;
}
