// Builds an empty database file from a schema script. The build runs it to make the templates
// (AnaData/Genel.mdb, SiteAna.mdb, Kasa.mdb ...); the program itself never creates a table.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dalvira-mktemplate SCHEMA.sql OUTPUT.mdb\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream script;
    script << in.rdbuf();

    const std::string out = argv[2];
    const std::string tmp = out + ".part";
    std::remove(tmp.c_str());
    sqlite3 *db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "cannot create %s\n", tmp.c_str());
        return 1;
    }
    char *error = nullptr;
    if (sqlite3_exec(db, script.str().c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error ? error : "error");
        sqlite3_free(error);
        sqlite3_close(db);
        std::remove(tmp.c_str());
        return 1;
    }
    sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
