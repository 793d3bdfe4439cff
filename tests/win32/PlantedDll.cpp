// A DLL that no system has, put beside the DLL search test: what a planted
// "comctl32.dll" would be to the program.

#include <windows.h>

extern "C" __declspec(dllexport) int PlantedDllAnswer()
{
    return 1;
}
