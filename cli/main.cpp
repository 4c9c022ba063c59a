#include "cli/CommandLine.h"

#include <clocale>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char** argv)
{
    std::setlocale(LC_TIME, ""); // the failure log's dates as the user writes them
    const bool errIsTerminal = isatty(fileno(stderr)) != 0;
    return borvelin::cli::run(argc, argv, std::cout, std::cerr, errIsTerminal);
}
