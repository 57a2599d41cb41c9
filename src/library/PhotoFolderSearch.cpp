#include "PhotoFolderSearch.h"

#include "PhotoPatterns.h"
#include "TextHelpers.h"

#include <QFile>

#include <chrono>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace skyloom {
namespace {

using Clock = std::chrono::steady_clock;

// What reading one folder gave: its photos and its sub-folders, the real ones apart from the
// links to folders.
struct FolderContents {
    int photos = 0;
    std::vector<QByteArray> folders;
    std::vector<QByteArray> links;
};

// A folder to enter: its path as the file system has it and as text, how deep it lies, whether
// its path can be stored as text, and the candidates it lies inside.
struct Place {
    QByteArray raw;
    QString path;
    int depth = 0;
    bool storable = true;
    std::vector<std::size_t> inside;
};

class FolderWalk {
public:
    FolderWalk(FolderSearchDepth depth, const std::atomic<int>* proceed,
               const std::function<void(const FolderSearchProgress&)>& progress, int intervalMs)
        : m_depth(depth), m_proceed(proceed), m_progress(progress),
          m_interval(std::chrono::milliseconds(intervalMs)),
          m_matches(BuildPatterns(true, true, true, true).toLower()) {}

    bool Proceed() const { return !m_proceed || m_proceed->load(std::memory_order_relaxed); }
    // Opens and reads a folder not entered before; false when it was, or cannot be read.
    bool Read(const QByteArray& raw, FolderContents& contents);
    // The sub-folders of a folder read: the real ones now, depth first; the links later.
    int Below(const Place& parent, FolderContents& contents);
    // Walks the folders reached through links, once every real folder has been entered, so
    // that a folder is found under its own path rather than through a link met first. Their
    // photos count in the candidates they lie inside.
    void FollowLinks();
    void Report(const QString& folder, bool always);

    FolderSearchResult result;

private:
    // Enters a folder and everything below it; the photos there, or -1 when not entered.
    int Enter(Place place);

    const FolderSearchDepth m_depth;
    const std::atomic<int>* m_proceed;
    const std::function<void(const FolderSearchProgress&)>& m_progress;
    const Clock::duration m_interval;
    const PhotoNameMatcher m_matches;
    Clock::time_point m_lastReport{};
    std::set<std::pair<dev_t, ino_t>> m_visited;
    std::deque<Place> m_links;
};

bool FolderWalk::Read(const QByteArray& raw, FolderContents& contents) {
    const int fd = ::open(raw.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false; // unreadable: passed over
    struct stat st;
    if (::fstat(fd, &st) != 0 || !m_visited.insert({st.st_dev, st.st_ino}).second) {
        ::close(fd);
        return false; // met before, through a link or a bind mount
    }
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        const bool link = type == DT_LNK;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat target;
            type = ::fstatat(dirFd, name, &target, 0) != 0 ? DT_UNKNOWN
                   : S_ISDIR(target.st_mode)               ? DT_DIR
                   : S_ISREG(target.st_mode)               ? DT_REG
                                                           : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            (link ? contents.links : contents.folders).emplace_back(name);
        else if (type == DT_REG && m_matches(name))
            ++contents.photos;
        if (!Proceed())
            break;
    }
    ::closedir(dir);
    return true;
}

int FolderWalk::Enter(Place place) {
    FolderContents contents;
    if (!Read(place.raw, contents))
        return -1;
    ++result.foldersSeen;
    result.photosSeen += contents.photos;
    Report(place.path, false);
    // The candidate takes its place before its sub-folders'; its count comes after them.
    const bool candidate =
        place.storable && (m_depth == FolderSearchDepth::WholeTree || place.depth == 1);
    std::size_t slot = 0;
    if (candidate) {
        slot = result.found.size();
        result.found.push_back({AutoCorrectName(place.path.section(u'/', -1)), place.path, 0});
        place.inside.push_back(slot);
    }
    const int total = contents.photos + Below(place, contents);
    if (candidate)
        result.found[slot].photoCount = total;
    return total;
}

int FolderWalk::Below(const Place& parent, FolderContents& contents) {
    const auto child = [&parent](const QByteArray& rawName) {
        const QString name = QFile::decodeName(rawName);
        Place place;
        place.raw = parent.raw + (parent.raw.endsWith('/') ? "" : "/") + rawName;
        place.path = parent.path + (parent.path.endsWith(u'/') ? "" : "/") + name;
        place.depth = parent.depth + 1;
        place.storable = parent.storable && QFile::encodeName(name) == rawName;
        place.inside = parent.inside;
        return place;
    };
    int total = 0;
    for (const QByteArray& rawName : contents.folders) {
        if (!Proceed())
            break;
        total += std::max(0, Enter(child(rawName)));
    }
    for (const QByteArray& rawName : contents.links)
        m_links.push_back(child(rawName));
    return total;
}

void FolderWalk::FollowLinks() {
    while (!m_links.empty() && Proceed()) {
        Place place = std::move(m_links.front());
        m_links.pop_front();
        const std::vector<std::size_t> inside = place.inside;
        const int photos = Enter(std::move(place));
        if (photos > 0)
            for (std::size_t slot : inside)
                result.found[slot].photoCount += photos;
    }
}

void FolderWalk::Report(const QString& folder, bool always) {
    if (!m_progress)
        return;
    const Clock::time_point now = Clock::now();
    if (!always && now - m_lastReport < m_interval)
        return;
    m_lastReport = now;
    m_progress({folder, result.foldersSeen, result.photosSeen});
}

} // namespace

FolderSearchResult SearchPhotoFolders(
    const QString& startFolder, FolderSearchDepth depth, const std::atomic<int>* proceed,
    const std::function<void(const FolderSearchProgress&)>& progress, int progressIntervalMs) {
    FolderWalk walk(depth, proceed, progress, progressIntervalMs);
    // An empty folder is no folder; it must not turn into the file-system root.
    QString start = startFolder.trimmed();
    while (start.size() > 1 && start.endsWith(u'/'))
        start.chop(1);
    if (start.isEmpty())
        return walk.result;
    Place root;
    root.raw = QFile::encodeName(start);
    root.path = start;
    FolderContents contents;
    if (!walk.Read(root.raw, contents)) {
        walk.result.completed = walk.Proceed();
        return walk.result;
    }
    walk.result.photosSeen = contents.photos;
    walk.Report(start, true);
    if (depth == FolderSearchDepth::WholeTree && contents.photos > 0) {
        const QString last = start.section(u'/', -1);
        if (!last.isEmpty())
            walk.result.start = FolderCandidate{AutoCorrectName(last), start, contents.photos};
    }
    walk.Below(root, contents);
    walk.FollowLinks();
    std::erase_if(walk.result.found, [](const FolderCandidate& c) { return c.photoCount <= 0; });
    walk.result.completed = walk.Proceed();
    walk.Report(start, true);
    return walk.result;
}

} // namespace skyloom
