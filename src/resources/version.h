// Version of Tavlo. The build reads these three numbers for the project version
// and the VERSIONINFO resource; the program shows them as "major.minor.revision".
#pragma once

#define TAVLO_VERSION_MAJOR 1
#define TAVLO_VERSION_MINOR 0
#define TAVLO_VERSION_REVISION 0

#define TAVLO_VERSION_STRINGIFY_(x) #x
#define TAVLO_VERSION_STRINGIFY(x) TAVLO_VERSION_STRINGIFY_(x)
#define TAVLO_VERSION_TEXT                          \
    TAVLO_VERSION_STRINGIFY(TAVLO_VERSION_MAJOR) "." \
    TAVLO_VERSION_STRINGIFY(TAVLO_VERSION_MINOR) "." \
    TAVLO_VERSION_STRINGIFY(TAVLO_VERSION_REVISION)
