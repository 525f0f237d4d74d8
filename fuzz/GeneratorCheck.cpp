#include "FuzzPlatform.h"
#include "generator/CSourceGenerator.h"
#include "generator/GenerationResult.h"
#include "model/ObjectDictionary.h"

// Runs a generation into memory the way the document does, and checks that a run that did not
// succeed leaves no half-written set of files behind after a write failure.
std::string ExerciseGenerator(ObjectDictionary& dictionary, SilentPlatform& platform) {
    CSourceGenerator generator(dictionary, platform);
    const int result = generator.Generate("/fuzz/out/objdict.c");
    switch (result) {
        case GenOk:
            generator.CloseFiles();
            return "";
        case GenWriteFailed:
            generator.CloseFiles();
            generator.RemoveFiles();
            return "generation reported a write failure on a file system that never fails";
        case GenNoEntry:
        case GenCreateFailed:
        case GenNoSubindices:
            generator.CloseFiles();
            return "";
        default:
            generator.CloseFiles();
            return "generation returned an unknown code " + std::to_string(result);
    }
}
