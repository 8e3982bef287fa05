// Builds the template data file from the schema and starting-row scripts at build time:
//   make_template <schema.sql> <rows.sql> <output file>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool readFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool run(sqlite3* handle, const std::string& sql, const char* what) {
    char* message = nullptr;
    if (sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    std::fprintf(stderr, "make_template: %s: %s\n", what, message ? message : "failed");
    sqlite3_free(message);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_template <schema.sql> <rows.sql> <output>\n");
        return 2;
    }
    std::string schema, rows;
    if (!readFile(argv[1], schema) || !readFile(argv[2], rows)) {
        std::fprintf(stderr, "make_template: cannot read the scripts\n");
        return 1;
    }
    // Build beside the target and rename, so a failed run never leaves a half-made template behind.
    const std::filesystem::path output = argv[3];
    const std::filesystem::path partial = output.string() + ".partial";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);

    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(partial.string().c_str(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        std::fprintf(stderr, "make_template: cannot create %s\n", partial.string().c_str());
        sqlite3_close(handle);
        return 1;
    }
    const bool ok = run(handle, "BEGIN", "begin") && run(handle, schema, argv[1]) && run(handle, rows, argv[2]) &&
                    run(handle, "COMMIT", "commit");
    sqlite3_close(handle);
    if (!ok) {
        std::filesystem::remove(partial, ignored);
        return 1;
    }
    std::filesystem::rename(partial, output);
    return 0;
}
