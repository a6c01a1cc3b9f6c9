/* Plugs or pulls a removable drive while Wine programs run, through Wine's
 * mount manager:
 *     plugdrive e /host/folder     the letter E: becomes a removable drive showing the folder
 *     plugdrive e                  the letter E: goes away
 * Definitions outlive the Wine server: pull every drive you plugged. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#define MOUNTMGR_DEFINE_UNIX_DRIVE CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS)
#define DRIVE_KIND_REMOVABLE 2
#define DRIVE_KIND_NONE 1

/* The request: a 32-byte header, then the host path as 8-bit text. */
struct unix_drive {
    ULONG size, type, fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset, device_offset, label_offset;
};

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || strlen(argv[1]) != 1) {
        fprintf(stderr, "usage: plugdrive LETTER [HOST-FOLDER]\n");
        return 2;
    }
    const char* path = argc == 3 ? argv[2] : "";
    const size_t pathSize = argc == 3 ? strlen(path) + 1 : 0;
    char buffer[sizeof(struct unix_drive) + MAX_PATH * 4];
    if (pathSize > sizeof(buffer) - sizeof(struct unix_drive)) {
        fprintf(stderr, "plugdrive: path too long\n");
        return 2;
    }
    struct unix_drive* drive = (struct unix_drive*)buffer;
    memset(buffer, 0, sizeof(buffer));
    drive->size = (ULONG)(sizeof(struct unix_drive) + pathSize);
    drive->type = pathSize ? DRIVE_KIND_REMOVABLE : DRIVE_KIND_NONE;
    drive->letter = (WCHAR)(argv[1][0] | 0x20);
    if (pathSize) {
        drive->mount_point_offset = sizeof(struct unix_drive);
        memcpy(buffer + sizeof(struct unix_drive), path, pathSize);
    }
    HANDLE mgr = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (mgr == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "plugdrive: no mount manager (error %lu)\n", GetLastError());
        return 1;
    }
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(mgr, MOUNTMGR_DEFINE_UNIX_DRIVE, drive, drive->size, NULL, 0, &returned, NULL);
    DWORD error = GetLastError();
    CloseHandle(mgr);
    if (!ok) {
        fprintf(stderr, "plugdrive: refused (error %lu)\n", error);
        return 1;
    }
    return 0;
}
