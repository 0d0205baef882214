// A stand-in KVXServer.exe for the tests on Windows, where a shell script is
// no program: it marks beside itself that it was started, passes a line of
// its standard input on with its working folder, writes to standard error
// and ends with status 7, so that a test sees each of the streams, the folder
// and the status the tool passes through.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

int main()
{
    wchar_t marker[MAX_PATH + 16] = {};
    GetModuleFileNameW(nullptr, marker, MAX_PATH);
    wcscpy(wcsrchr(marker, L'\\') + 1, L"server-started");
    if (FILE *file = _wfopen(marker, L"wb"))
        std::fclose(file);
    char line[256] = {}, folder[MAX_PATH] = {};
    std::fgets(line, sizeof line, stdin);
    line[std::strcspn(line, "\r\n")] = '\0';
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::printf("%s %s\n", line, folder);
    std::fputs("err\n", stderr);
    return 7;
}
