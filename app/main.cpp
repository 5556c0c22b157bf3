#include "Project1.h"

int main(int argc, char** argv) { return lx::RunLexitar(argc, argv); }
