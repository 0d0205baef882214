// A stand-in KVXServer.exe for the tests on Windows, where a shell script is
// no program: it marks beside itself that it was started, passes a line of
// its standard input on with its working folder, writes to standard error
// and ends with status 7, so that a test sees each of the streams, the folder
// and the status the tool passes through.

#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring marker(self, length);
    marker = marker.substr(0, marker.find_last_of(L"\\/") + 1) + L"server-started";
    if (FILE *file = _wfopen(marker.c_str(), L"wb")) {
        std::fputs("started\n", file);
        std::fclose(file);
    }
    char line[256] = {};
    if (!std::fgets(line, sizeof line, stdin))
        line[0] = '\0';
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::printf("%s %s\n", text.c_str(), folder);
    std::fputs("err\n", stderr);
    return 7;
}
