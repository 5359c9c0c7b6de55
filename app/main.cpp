#include "programstart.h"

int main(int argc, char *argv[])
{
    return runFenwarde(argc, argv);
}
