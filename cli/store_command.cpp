#include "store_command.h"

#include <iostream>

#include "atomic_file.h"
#include "command_error.h"
#include "projfile/projfile.h"
#include "store/store.h"

namespace tovex_cli {

int import_command(const CommandOptions& options)
{
    try {
        const auto project = qxhost::read_project_file(options.project_path);
        const long revision = qxhost::store::import_project(options.store_path, *project, options.project_path);
        std::cout << options.store_path << ": revision " << revision << " from " << options.project_path << "\n";
        return 0;
    } catch (const qxhost::ProjectFileError& error) {
        throw CommandError(exit_bad_input, error.what());
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

int export_command(const CommandOptions& options)
{
    std::string text;
    try {
        text = qxhost::write_project_json(*qxhost::store::load_project(options.store_path));
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    if (options.output_path.empty()) {
        std::cout << text;
        return 0;
    }
    try {
        write_file_atomically(options.output_path, text);
    } catch (const FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    return 0;
}

}  // namespace tovex_cli
