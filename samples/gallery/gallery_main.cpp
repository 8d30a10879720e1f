// The gallery: drives Varnelle.dll as an application does and writes what the system
// showed as PNG files, with a contact sheet.
//   varnelle_gallery.exe --out FOLDER [--index]
// A copy of the program named *_winxp.exe takes the pictures of the Windows XP menu bar,
// the program under any other name all the others. Each run lists its pictures in
// FOLDER/manifest-<part>.tsv; --index then writes FOLDER/index.html from every list.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "png_io.h"
#include "scenes.h"

namespace {

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t'))
        fields.push_back(field);
    return fields;
}

template <typename T>
size_t IndexOf(std::vector<T>& list, const T& value)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == value)
            return i;
    list.push_back(value);
    return list.size() - 1;
}

bool WriteIndex(const std::string& folder)
{
    struct Group {
        std::string title;
        std::vector<std::string> rows, columns;
        std::map<std::pair<size_t, size_t>, std::vector<std::string>> cells; // name, caption, size
    };
    std::vector<Group> groups;
    std::vector<std::string> titles;
    int count = 0;
    for (const char* part : {"main", "winxp", "dpi"}) {
        std::ifstream manifest(folder + "\\manifest-" + part + ".tsv");
        std::string line;
        while (std::getline(manifest, line)) {
            std::vector<std::string> f = Split(line);
            if (f.size() < 7)
                continue;
            size_t g = IndexOf(titles, f[1]);
            if (g == groups.size())
                groups.push_back({f[1], {}, {}, {}});
            Group& group = groups[g];
            size_t row = IndexOf(group.rows, f[2]), column = IndexOf(group.columns, f[3]);
            group.cells[{row, column}] = {f[0], f[4], f[5] + " x " + f[6]};
            ++count;
        }
    }
    // What a newcomer looks for first comes first.
    auto rank = [](const std::string& title) {
        const char* const order[] = {"Menus", "Menu bar", "Buttons", "Fill", "Gradients", "Icon"};
        for (size_t i = 0; i < std::size(order); ++i)
            if (title.rfind(order[i], 0) == 0)
                return i;
        return std::size(order);
    };
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const Group& a, const Group& b) { return rank(a.title) < rank(b.title); });
    std::ofstream html(folder + "\\index.html");
    html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Varnelle gallery</title>\n"
            "<style>body{font-family:sans-serif;margin:24px;background:#f4f4f4}"
            "table{border-collapse:collapse;margin-bottom:28px}td,th{border:1px solid #ccc;padding:6px;"
            "vertical-align:top;background:#fff}th{background:#e8e8e8;font-weight:normal}"
            "td.row{max-width:260px;font-size:13px}figcaption{font-size:11px;color:#555}"
            "img{image-rendering:pixelated}</style></head><body>\n"
            "<h1>Varnelle gallery</h1>\n<p>"
         << count
         << " pictures of what the system showed while an application drove Varnelle.dll under Wine: "
            "menus opened through the system's menu loop, buttons on a shown window, the drawing "
            "primitives' own bitmaps. Regenerate with <code>scripts/demo</code>.</p>\n";
    for (const Group& group : groups) {
        html << "<h2>" << Escape(group.title) << "</h2>\n<table><tr><th></th>";
        for (const std::string& column : group.columns)
            html << "<th>" << Escape(column) << "</th>";
        html << "</tr>\n";
        for (size_t row = 0; row < group.rows.size(); ++row) {
            html << "<tr><td class=\"row\">" << Escape(group.rows[row]) << "</td>";
            for (size_t column = 0; column < group.columns.size(); ++column) {
                auto cell = group.cells.find({row, column});
                if (cell == group.cells.end()) {
                    html << "<td></td>";
                    continue;
                }
                const std::vector<std::string>& c = cell->second;
                html << "<td><figure style=\"margin:0\"><img src=\"" << Escape(c[0]) << ".png\" alt=\""
                     << Escape(c[1]) << "\" title=\"" << Escape(c[1]) << "\"><figcaption>" << Escape(c[0])
                     << ".png, " << Escape(c[2]) << "</figcaption></figure></td>";
            }
            html << "</tr>\n";
        }
        html << "</table>\n";
    }
    html << "</body></html>\n";
    return html.good();
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    bool index = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            folder = argv[++i];
        else if (std::strcmp(argv[i], "--index") == 0)
            index = true;
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: varnelle_gallery.exe --out FOLDER [--index]\n");
        return 2;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    gallery::Part part = gallery::PartOfThisProcess();
    std::ofstream manifest(folder + "\\manifest-" + gallery::PartName(part) + ".tsv");
    int written = 0, failed = 0;
    std::string error;
    bool rendered = gallery::RenderGallery(GetModuleHandleA(nullptr), part, [&](gallery::Picture&& picture) {
        if (!gallery::WritePng(folder + "\\" + picture.name + ".png", picture)) {
            std::fprintf(stderr, "could not write %s.png\n", picture.name.c_str());
            ++failed;
            return;
        }
        manifest << picture.name << '\t' << picture.group << '\t' << picture.row << '\t' << picture.column << '\t'
                 << picture.caption << '\t' << picture.width << '\t' << picture.height << '\n';
        ++written;
    }, error);
    manifest.close();
    std::printf("gallery (%s): %d pictures written\n", gallery::PartName(part), written);
    if (!rendered) {
        std::fprintf(stderr, "gallery: %s\n", error.c_str());
        return 1;
    }
    if (index && !WriteIndex(folder)) {
        std::fprintf(stderr, "gallery: could not write index.html\n");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
