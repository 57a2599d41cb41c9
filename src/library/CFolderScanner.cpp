#include "CFolderScanner.h"

#include "PhotoPatterns.h"
#include "TextHelpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace skyloom {
namespace {

// How often a walk on the user-interface thread lets pending events through.
constexpr auto kPumpInterval = std::chrono::milliseconds(5);
// How many entries pass between two looks at the clock.
constexpr int kEntriesPerClockCheck = 64;

// The state of one walk: what it found, the folders it has been in, and the event pump.
class Walk {
public:
    Walk(const QString& lowerPatterns, int tag, const std::atomic<int>* proceed)
        : m_matches(lowerPatterns), m_tag(tag), m_continue(proceed),
          m_pumps(QCoreApplication::instance() &&
                  QThread::currentThread() == QCoreApplication::instance()->thread()) {}

    // Walks the folder open at fd (which it closes); folder ends in a separator.
    void Root(int fd, const QString& folder, bool recursive) {
        struct stat st;
        if (::fstat(fd, &st) == 0)
            FirstVisit(st);
        Directory(fd, folder, recursive);
    }
    void Directory(int fd, const QString& folder, bool recursive);
    bool Proceed() const { return !m_continue || m_continue->load(std::memory_order_relaxed); }

    std::vector<PhotoEntry> found;

private:
    bool FirstVisit(const struct stat& st) {
        return m_visited.insert({st.st_dev, st.st_ino}).second;
    }
    void Pump();

    const PhotoNameMatcher m_matches;
    const int m_tag;
    const std::atomic<int>* m_continue;
    const bool m_pumps;
    int m_sinceClockCheck = 0;
    std::chrono::steady_clock::time_point m_lastPump = std::chrono::steady_clock::now();
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

void Walk::Pump() {
    if (!m_pumps || ++m_sinceClockCheck < kEntriesPerClockCheck)
        return;
    m_sinceClockCheck = 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPump < kPumpInterval)
        return;
    QCoreApplication::processEvents();
    m_lastPump = std::chrono::steady_clock::now();
}

void Walk::Directory(int fd, const QString& folder, bool recursive) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;

        bool isDirectory = entry->d_type == DT_DIR;
        const bool followLink = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        struct stat st;
        bool haveStat = false;
        if (followLink) {
            haveStat = ::fstatat(dirFd, name, &st, 0) == 0;
            isDirectory = haveStat && S_ISDIR(st.st_mode);
        }

        if (isDirectory) {
            if (recursive) {
                const int child = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                struct stat childStat;
                if (child >= 0 && ::fstat(child, &childStat) == 0 && FirstVisit(childStat))
                    Directory(child, folder + QFile::decodeName(name) + u'/', recursive);
                else if (child >= 0)
                    ::close(child);
            }
        } else if (m_matches(name) && (haveStat || ::fstatat(dirFd, name, &st, 0) == 0) &&
                   S_ISREG(st.st_mode)) {
            // Only regular files: a pipe or device named like a photo would hang its reader.
            PhotoEntry photo;
            photo.path = folder + QFile::decodeName(name);
            photo.nameStart = int(folder.size());
            photo.modified = st.st_mtime;
            photo.size = static_cast<std::uint32_t>(st.st_size);
            photo.tag = m_tag;
            found.push_back(std::move(photo));
        }
        Pump();
        if (!Proceed())
            break;
    }
    ::closedir(dir);
}

} // namespace

void CFolderScanner::SetPatterns(const QString& text) {
    m_patterns = text.trimmed().toLower();
}

bool CFolderScanner::Scan(const QString& folder, bool clearFirst) {
    if (clearFirst)
        RemoveAll();
    m_folder = folder.trimmed();
    m_patterns = m_patterns.trimmed().toLower();
    ScanFolder(m_folder, m_recursive != 0);
    return !m_entries.empty();
}

int CFolderScanner::ScanFolder(const QString& folder, bool recursive) {
    // An empty folder is no folder; it must not turn into the file-system root.
    if (folder.trimmed().isEmpty())
        return 0;
    const QString withSeparator = SetTrailingBackslash(folder, true);
    const int fd =
        ::open(QFile::encodeName(withSeparator).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    Walk walk(m_patterns, m_tag, m_pContinue);
    walk.Root(fd, withSeparator, recursive);
    MergeSorted(std::move(walk.found));
    return 1;
}

// Sorts what one walk found and merges it into the entries: the order the entries would have
// if each had been inserted by bisection as it was found, each new entry in front of an
// equal one, reached with one sort instead of shifting the array for every insert.
void CFolderScanner::MergeSorted(std::vector<PhotoEntry> batch) {
    std::reverse(batch.begin(), batch.end());
    std::stable_sort(batch.begin(), batch.end(), PhotoPathLess);
    if (m_entries.empty()) {
        m_entries = std::move(batch);
        return;
    }
    std::vector<PhotoEntry> merged;
    merged.reserve(m_entries.size() + batch.size());
    std::merge(std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()),
               std::make_move_iterator(m_entries.begin()), std::make_move_iterator(m_entries.end()),
               std::back_inserter(merged), PhotoPathLess);
    m_entries = std::move(merged);
}

bool PhotoPathLess(const PhotoEntry& a, const PhotoEntry& b) {
    return QString::compare(a.path, b.path, Qt::CaseInsensitive) < 0;
}

int CFolderScanner::CountPhotos(const QString& folder, bool jpeg, bool bmp, bool png, bool tiff,
                                bool recursive, const std::atomic<int>* proceed) {
    CFolderScanner scanner;
    scanner.SetPatterns(BuildPatterns(jpeg, bmp, png, tiff));
    scanner.m_recursive = recursive ? 1 : 0;
    const std::atomic<int> always{1};
    scanner.m_pContinue = proceed ? proceed : &always;
    scanner.Scan(folder, true);
    return int(scanner.m_entries.size());
}

} // namespace skyloom
