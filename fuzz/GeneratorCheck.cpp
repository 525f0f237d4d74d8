#include "FuzzDevice.h"
#include "FuzzPlatform.h"
#include "generator/CSourceGenerator.h"
#include "generator/GenerationResult.h"
#include "model/ObjectDictionary.h"
#include "platform/FileSystem.h"

// Runs a generation into memory the way the document does, and checks that a successful run puts
// the three files in place and that no run leaves a temporary file behind.
std::string ExerciseGenerator(ObjectDictionary& dictionary, SilentPlatform& platform) {
    CSourceGenerator generator(dictionary, platform);
    const GenerationResult result = generator.GenerateFiles("/fuzz/out/objdict.c");
    for (const char* name : {"objdict.c", "objdict.h", "obdcfg.h"}) {
        const std::string path = std::string("/fuzz/out/") + name;
        if (platform.Memory().Exists(TemporaryPathFor(path))) {
            return "generation left the temporary file of " + path + " behind (result " +
                   std::to_string(static_cast<int>(result)) + ")";
        }
        if (result == GenOk && !platform.Memory().Exists(path)) {
            return "a successful generation did not write " + path;
        }
    }
    switch (result) {
        case GenOk:
        case GenNoEntry:
        case GenCreateFailed:
        case GenNoSubindices:
            return "";
        case GenWriteFailed:
            return "generation reported a write failure on a file system that never fails";
        default:
            return "generation returned an unknown code " + std::to_string(static_cast<int>(result));
    }
}
