// Runs the built command-line tool for the tests that check it from outside.
#include "TestSupport.h"

#include <cstdio>
#include <sys/wait.h>

CCliRun RunCli(const std::string& arguments)
{
    CCliRun run;
    const std::string command = std::string("'") + ZENTAVO_CLI + "' " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
