/* A DLL that does nothing, built beside the Wine test program under a name no system
   folder has: product_resources.cpp looks whether a load by that name still finds it. */
__declspec(dllexport) int PlantedDllAnswer(void) {
    return 42;
}
