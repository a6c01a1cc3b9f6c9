/* Plugs or pulls a removable drive while Wine programs run, through Wine's
 * mount manager. Definitions outlive the Wine server: pull what you plug.
 *     plugdrive e /host/folder     E: becomes a removable drive showing the folder
 *     plugdrive e                  E: goes away */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
    /* A 32-byte request (size, type, letter, where the path starts), then the path. */
    char in[32 + 4 * MAX_PATH] = {0};
    const size_t path = argc == 3 ? strlen(argv[2]) + 1 : 0;
    if (argc < 2 || argc > 3 || strlen(argv[1]) != 1 || path > sizeof in - 32) {
        fprintf(stderr, "usage: plugdrive LETTER [HOST-FOLDER]\n");
        return 2;
    }
    const ULONG head[2] = {(ULONG)(32 + path), path ? 2 : 1}; /* 2 removable, 1 none */
    const WCHAR drive[2] = {(WCHAR)(argv[1][0] | 0x20), (WCHAR)(path ? 32 : 0)};
    memcpy(in, head, sizeof head);
    memcpy(in + 24, drive, sizeof drive);
    if (path) memcpy(in + 32, argv[2], path);
    HANDLE mgr = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    DWORD got = 0;
    if (mgr == INVALID_HANDLE_VALUE ||
        !DeviceIoControl(mgr, CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS), in,
                         head[0], NULL, 0, &got, NULL)) {
        fprintf(stderr, "plugdrive: refused (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(mgr);
    return 0;
}
