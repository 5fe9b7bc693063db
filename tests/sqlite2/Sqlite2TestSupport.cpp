// SPDX-License-Identifier: AGPL-3.0-or-later
#include "Sqlite2TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace sqlite2_test {

// ---- Fixtures -----------------------------------------------------------

std::string FixtureDir() { return std::string(VARNOLT_FIXTURES) + "/arq"; }

std::string FixturePath(const std::string& name) { return FixtureDir() + "/" + name; }

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string MakeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "varnolt-sqlite2-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return std::string(buf.data());
}

// ---- JSON -----------------------------------------------------------------

namespace {

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : s_(text) {}

    Json parseDocument() {
        Json v = parseValue();
        skipSpace();
        if (i_ != s_.size()) fail("trailing text");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) const {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(i_));
    }
    void skipSpace() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' ||
                                  s_[i_] == '\t'))
            ++i_;
    }
    bool take(char c) {
        skipSpace();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail("unexpected character");
    }
    static void appendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    std::uint32_t hex4() {
        if (i_ + 4 > s_.size()) fail("short \\u escape");
        std::uint32_t v = std::stoul(s_.substr(i_, 4), nullptr, 16);
        i_ += 4;
        return v;
    }
    std::string parseString() {
        expect('"');
        std::string out;
        while (true) {
            if (i_ >= s_.size()) fail("unterminated string");
            char c = s_[i_++];
            if (c == '"') break;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i_ >= s_.size()) fail("bad escape");
            char e = s_[i_++];
            switch (e) {
                case '"': out.push_back('"'); break;
                case '\\': out.push_back('\\'); break;
                case '/': out.push_back('/'); break;
                case 'b': out.push_back('\b'); break;
                case 'f': out.push_back('\f'); break;
                case 'n': out.push_back('\n'); break;
                case 'r': out.push_back('\r'); break;
                case 't': out.push_back('\t'); break;
                case 'u': {
                    std::uint32_t cp = hex4();
                    if (cp >= 0xD800 && cp < 0xDC00 && i_ + 6 <= s_.size() && s_[i_] == '\\' &&
                        s_[i_ + 1] == 'u') {
                        i_ += 2;
                        std::uint32_t low = hex4();
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default: fail("bad escape");
            }
        }
        return out;
    }
    Json parseValue() {
        skipSpace();
        if (i_ >= s_.size()) fail("unexpected end");
        char c = s_[i_];
        Json v;
        if (c == '{') {
            ++i_;
            Json::Object o;
            if (!take('}')) {
                do {
                    skipSpace();
                    std::string key = parseString();
                    expect(':');
                    o.emplace(key, parseValue());
                } while (take(','));
                expect('}');
            }
            v.value = std::move(o);
        } else if (c == '[') {
            ++i_;
            Json::Array a;
            if (!take(']')) {
                do {
                    a.push_back(parseValue());
                } while (take(','));
                expect(']');
            }
            v.value = std::move(a);
        } else if (c == '"') {
            v.value = parseString();
        } else if (s_.compare(i_, 4, "null") == 0) {
            i_ += 4;
            v.value = nullptr;
        } else if (s_.compare(i_, 4, "true") == 0) {
            i_ += 4;
            v.value = true;
        } else if (s_.compare(i_, 5, "false") == 0) {
            i_ += 5;
            v.value = false;
        } else {
            std::size_t used = 0;
            v.value = std::stod(s_.substr(i_), &used);
            i_ += used;
        }
        return v;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

}  // namespace

Json ParseJson(const std::string& text) { return JsonParser(text).parseDocument(); }

std::string Utf8ToCp1252(const std::string& utf8) {
    // Windows-1252 bytes 0x80..0x9F and the characters they stand for.
    static const std::uint32_t k80[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp;
        int len;
        if (c < 0x80) {
            cp = c, len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F, len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F, len = 3;
        } else {
            cp = c & 0x07, len = 4;
        }
        for (int k = 1; k < len && i + k < utf8.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += std::size_t(len);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out.push_back(char(cp));
            continue;
        }
        const std::uint32_t* hit = std::find(std::begin(k80), std::end(k80), cp);
        if (hit == std::end(k80)) throw std::runtime_error("character outside Windows-1252");
        out.push_back(char(0x80 + (hit - std::begin(k80))));
    }
    return out;
}

// ---- Expected dumps -------------------------------------------------------

std::vector<ExpectedCase> LoadExpectedCases() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(FixtureDir() + "/expected")) {
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<ExpectedCase> cases;
    for (const fs::path& path : files) {
        std::string stem = path.stem().string();  // FILE.TABLE
        std::size_t dot = stem.find('.');
        if (dot == std::string::npos) throw std::runtime_error("bad name " + stem);
        ExpectedCase c;
        c.file = stem.substr(0, dot);
        c.table = stem.substr(dot + 1);
        std::vector<std::uint8_t> bytes = ReadFile(path.string());
        Json json = ParseJson(std::string(bytes.begin(), bytes.end()));
        c.dump.statement = Utf8ToCp1252(json["statement"].str());
        if (json.has("error")) {
            c.dump.error = Utf8ToCp1252(json["error"].str());
        } else {
            for (const Json& v : json["columns"].arr()) c.dump.columns.push_back(Utf8ToCp1252(v.str()));
            for (const Json& v : json["types"].arr()) {
                c.dump.types.push_back(v.isNull() ? Cell() : Cell(Utf8ToCp1252(v.str())));
            }
            for (const Json& row : json["rows"].arr()) {
                std::vector<Cell> cells;
                for (const Json& v : row.arr()) {
                    cells.push_back(v.isNull() ? Cell() : Cell(Utf8ToCp1252(v.str())));
                }
                c.dump.rows.push_back(std::move(cells));
            }
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

// ---- Callback capture -----------------------------------------------------

namespace {

int Capture(void* arg, int n, char** argv, char** names, bool withTypes) {
    Dump& d = *static_cast<Dump*>(arg);
    std::vector<std::string> columns;
    std::vector<Cell> types;
    for (int i = 0; i < n; ++i) {
        columns.push_back(names[i] ? names[i] : "<null>");
        if (withTypes) types.push_back(names[n + i] ? Cell(names[n + i]) : Cell());
    }
    if (d.calls == 0) {
        d.columns = columns;
        d.types = types;
    } else if (d.columns != columns || d.types != types) {
        d.error = "column names changed between callbacks";
    }
    d.calls++;
    if (argv == nullptr) {
        d.emptyCall = true;
        return 0;
    }
    std::vector<Cell> row;
    for (int i = 0; i < n; ++i) row.push_back(argv[i] ? Cell(argv[i]) : Cell());
    d.rows.push_back(std::move(row));
    return 0;
}

std::string Show(const Cell& c) { return c ? "\"" + *c + "\"" : "null"; }

}  // namespace

int CaptureWithTypes(void* dump, int n, char** argv, char** names) {
    return Capture(dump, n, argv, names, true);
}

int CaptureNoTypes(void* dump, int n, char** argv, char** names) {
    return Capture(dump, n, argv, names, false);
}

std::string CompareDumps(const Dump& expected, const Dump& actual) {
    if (expected.error || actual.error) {
        if (expected.error != actual.error) {
            return "error: expected " + Show(expected.error) + ", got " + Show(actual.error);
        }
        return {};
    }
    std::ostringstream out;
    if (expected.columns != actual.columns) return "column names differ";
    if (expected.types != actual.types) {
        for (std::size_t i = 0; i < std::max(expected.types.size(), actual.types.size()); ++i) {
            Cell e = i < expected.types.size() ? expected.types[i] : Cell("<none>");
            Cell a = i < actual.types.size() ? actual.types[i] : Cell("<none>");
            if (e != a) return "type " + std::to_string(i) + ": expected " + Show(e) + ", got " + Show(a);
        }
    }
    if (expected.rows.size() != actual.rows.size()) {
        out << "row count: expected " << expected.rows.size() << ", got " << actual.rows.size();
        return out.str();
    }
    for (std::size_t r = 0; r < expected.rows.size(); ++r) {
        if (expected.rows[r] == actual.rows[r]) continue;
        for (std::size_t i = 0; i < expected.rows[r].size(); ++i) {
            Cell a = i < actual.rows[r].size() ? actual.rows[r][i] : Cell("<none>");
            if (expected.rows[r][i] != a) {
                out << "row " << r << " column " << i << ": expected " << Show(expected.rows[r][i])
                    << ", got " << Show(a);
                return out.str();
            }
        }
        return "row " + std::to_string(r) + " differs in length";
    }
    // The genuine library calls back once with no row for an empty result.
    if (expected.rows.empty() && !actual.emptyCall) return "no empty-result callback";
    return {};
}

// ---- Byte-level tools -----------------------------------------------------

std::vector<std::uint8_t> SwapByteOrder(const std::vector<std::uint8_t>& image,
                                        const std::vector<std::uint32_t>& roots) {
    constexpr std::size_t kPage = 1024;
    std::vector<std::uint8_t> out = image;
    const bool big = image.size() >= 52 && image[48] == 0xda;
    auto rd16 = [&](std::size_t at) -> std::uint32_t {
        return big ? (image[at] << 8) | image[at + 1] : image[at] | (image[at + 1] << 8);
    };
    auto rd32 = [&](std::size_t at) -> std::uint32_t {
        return big ? (std::uint32_t(image[at]) << 24) | (image[at + 1] << 16) | (image[at + 2] << 8) |
                         image[at + 3]
                   : (std::uint32_t(image[at + 3]) << 24) | (image[at + 2] << 16) |
                         (image[at + 1] << 8) | image[at];
    };
    std::set<std::size_t> swapped;  // field offsets done, so none is swapped twice
    auto sw = [&](std::size_t at, std::size_t width) {
        if (!swapped.insert(at).second) return;
        std::reverse(out.begin() + long(at), out.begin() + long(at + width));
    };
    auto base = [&](std::uint32_t pgno) { return std::size_t(pgno - 1) * kPage; };
    const std::uint32_t pages = std::uint32_t(image.size() / kPage);

    for (std::size_t at = 48; at < 96; at += 4) sw(at, 4);  // magic, free list, meta

    std::set<std::uint32_t> seen;
    std::function<void(std::uint32_t)> walk = [&](std::uint32_t pgno) {
        if (pgno < 2 || pgno > pages || !seen.insert(pgno).second) return;
        std::size_t p = base(pgno);
        std::uint32_t right = rd32(p);
        std::size_t cell = rd16(p + 4);
        std::size_t freeBlock = rd16(p + 6);
        sw(p, 4), sw(p + 4, 2), sw(p + 6, 2);
        while (cell != 0 && cell + 12 <= kPage) {
            std::size_t c = p + cell;
            std::uint32_t left = rd32(c);
            std::uint32_t payload = (rd16(c + 4) | (image[c + 8] << 16)) +
                                    (rd16(c + 10) | (image[c + 9] << 16));
            std::size_t next = rd16(c + 6);
            sw(c, 4), sw(c + 4, 2), sw(c + 6, 2), sw(c + 10, 2);
            if (payload > 236) {
                sw(c + 12 + 236, 4);
                std::uint32_t ovfl = rd32(c + 12 + 236);
                std::uint32_t remaining = payload - 236;
                while (ovfl >= 2 && ovfl <= pages && remaining > 0) {
                    sw(base(ovfl), 4);
                    remaining = remaining > 1020 ? remaining - 1020 : 0;
                    ovfl = rd32(base(ovfl));
                }
            }
            if (left != 0) walk(left);
            cell = next;
        }
        while (freeBlock != 0 && freeBlock + 4 <= kPage) {
            std::size_t next = rd16(p + freeBlock + 2);
            sw(p + freeBlock, 2), sw(p + freeBlock + 2, 2);
            if (next <= freeBlock) break;
            freeBlock = next;
        }
        if (right != 0) walk(right);
    };
    walk(2);
    for (std::uint32_t root : roots) walk(root);

    // The free list: trunk pages with a next pointer, a count and page numbers.
    std::uint32_t trunk = rd32(52);
    std::set<std::uint32_t> trunks;
    while (trunk >= 2 && trunk <= pages && trunks.insert(trunk).second) {
        std::size_t p = base(trunk);
        std::uint32_t count = rd32(p + 4);
        sw(p, 4), sw(p + 4, 4);
        for (std::uint32_t k = 0; k < count && 8 + 4 * k + 4 <= kPage; ++k) sw(p + 8 + 4 * k, 4);
        trunk = rd32(p);
    }
    return out;
}

}  // namespace sqlite2_test
