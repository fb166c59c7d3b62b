// swatchly.com, the console face of swatchly.exe on Windows. A program built for the windowed
// subsystem gets no console, and a shell does not wait for it, so what --format, --pick and
// --swatches print would go nowhere and their exit codes would be lost. Typed in a console,
// "swatchly" finds this one first (.COM comes before .EXE): it runs swatchly.exe beside it with
// the same arguments on this console's handles, waits, and ends with its exit code.

#include <windows.h>

#include <string>

namespace {

// The command line after the program's own name, as the shell passed it.
const wchar_t* arguments(const wchar_t* line) {
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        if (*line == L'"') quoted = !quoted;
    return line;
}

}  // namespace

int wmain() {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, program.data(), DWORD(program.size()));
        if (n == 0) return 3;
        if (n < program.size()) {
            program.resize(n);
            break;
        }
        program.resize(program.size() * 2);
    }
    program.replace(program.size() - 4, 4, L".exe");  // beside us: swatchly.com -> swatchly.exe
    std::wstring line = L"\"" + program + L"\"" + arguments(GetCommandLineW());

    STARTUPINFOW start{};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &start, &child)) {
        const std::wstring said = L"swatchly: cannot start " + program + L"\n";
        DWORD written = 0;
        WriteConsoleW(start.hStdError, said.c_str(), DWORD(said.size()), &written, nullptr);
        return 3;
    }
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD code = 3;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return int(code);
}
