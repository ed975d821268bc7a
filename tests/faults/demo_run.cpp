#include "demo_run.h"

#include "command.h"

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// bin/Glimmerfall and lib/ copied into a folder of this process's own, removed at exit.
struct ProgramWithoutData {
    fs::path prefix =
        fs::temp_directory_path() / ("bare-glimmerfall-" + std::to_string(::getpid()));
    std::string program;

    ProgramWithoutData() {
        fs::path built(GLIMMERFALL_EXE);
        fs::remove_all(prefix);
        fs::create_directories(prefix / "bin");
        fs::copy(built.parent_path().parent_path() / "lib", prefix / "lib",
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        fs::copy_file(built, prefix / "bin" / built.filename());
        program = (prefix / "bin" / built.filename()).string();
    }
    ~ProgramWithoutData() {
        std::error_code ignored;
        fs::remove_all(prefix, ignored);
    }
};

const std::string& programWithoutData() {
    static const ProgramWithoutData copy;
    return copy.program;
}

DemoRun run(const std::string& program, const std::string& directory, const std::string& arguments,
            const std::string& environment) {
    CommandResult result =
        runCommand("cd '" + directory + "' && XDG_CONFIG_HOME='" + directory + "/config' " +
                   environment + " timeout 300 '" + program + "' " + arguments);
    DemoRun demo;
    demo.status = result.status;
    demo.output = result.output;
    demo.log = readFile(directory + "/Glimmerfall.log");
    return demo;
}

} // namespace

DemoRun runDemo(const std::string& directory, const std::string& arguments,
                const std::string& environment) {
    return run(programWithoutData(), directory, arguments, environment);
}

DemoRun runBuiltDemo(const std::string& directory, const std::string& arguments) {
    return run(GLIMMERFALL_EXE, directory, arguments, "");
}
