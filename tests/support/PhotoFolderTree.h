#pragma once

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace skyloom::test {

// A tree of photo folders for the folder tools, below root (photos are empty files: only
// their names count):
//   root.jpg                                the start folder's own photo
//   Cats/a.jpg b.png                        2 photos
//   Beach Trip/a.jpg, beach trip/b.jpg      names that differ only in letter case
//   Existing Name/a.jpg, Used Folder/a.jpg  for a library that has this name and this folder
//   Empty/readme.txt                        no photos
//   Loop/a.jpg, Loop/back -> .., Loop/self -> .   links that lead back up the tree
//   Album/a.jpg, Album/best -> ../Cats, Album/outside -> ../../Elsewhere (1 photo)
//                                           a link to a sibling, one out of the tree
//   <Tags>/a.jpg                            a name with "<" in it
//   Deep/One/Two/a.jpg                      photos three levels down only
//   Mixed/a.jpg b.png, Mixed/Sub/c.jpg      formats and a sub-folder
//   "Bad\xff"/a.jpg                         a name that is not UTF-8
//   Locked/a.jpg (mode 000)                 unreadable, when locked is set
inline void MakePhotoFolderTree(const QString& root, bool locked) {
    for (const char* file :
         {"root.jpg", "Cats/a.jpg", "Cats/b.png", "Beach Trip/a.jpg", "beach trip/b.jpg",
          "Existing Name/a.jpg", "Used Folder/a.jpg", "Empty/readme.txt", "Loop/a.jpg",
          "<Tags>/a.jpg", "Deep/One/Two/a.jpg", "Mixed/a.jpg", "Mixed/b.png", "Mixed/Sub/c.jpg",
          "Album/a.jpg", "../Elsewhere/a.jpg"})
        WriteFile(root + u'/' + QString::fromUtf8(file));
    const QByteArray base = QFile::encodeName(root);
    ::symlink("..", (base + "/Loop/back").constData());
    ::symlink(".", (base + "/Loop/self").constData());
    ::symlink("../Cats", (base + "/Album/best").constData());
    ::symlink("../../Elsewhere", (base + "/Album/outside").constData());
    const QByteArray bad = base + "/Bad\xff";
    ::mkdir(bad.constData(), 0755);
    if (FILE* f = ::fopen((bad + "/a.jpg").constData(), "w"))
        ::fclose(f);
    if (locked) {
        WriteFile(root + "/Locked/a.jpg");
        ::chmod((base + "/Locked").constData(), 0);
    }
}

// Gives the locked folder its permissions back and removes the folder that QDir cannot name,
// so that the tree can be removed.
inline void CleanUpPhotoFolderTree(const QString& root) {
    const QByteArray base = QFile::encodeName(root);
    ::chmod((base + "/Locked").constData(), 0755);
    ::unlink((base + "/Bad\xff/a.jpg").constData());
    ::rmdir((base + "/Bad\xff").constData());
}

} // namespace skyloom::test
