#pragma once

#include <QSet>
#include <QString>

class clsMagicList;

// The one rule for deleting a picture file when its entry goes. A file is
// deleted only when
// - its resolved path (links and ".." followed) is a regular file directly
//   inside one of the folders the program copies pictures into: "Internet
//   Images", "CD Images" and "Other Images" in the private list folder;
// - no entry of the changed list, nor of any list in the index, resolves to
//   it.
// What is deleted is the resolved path, never a link that led to it.
//
// A command that removes entries notes the picture of each entry it takes
// out and settles them all when it is done (the list's save, see
// clsMagicList::DeleteItem), so that the entries are resolved and the other
// lists read once per command however many entries it removes.
class PictureDeletion {
public:
    // Notes the picture of an entry that is being removed.
    void note(const QString& picturePath);
    // Deletes the noted pictures that the rule allows; `list` is the changed
    // list as it now stands. A list in the index that exists but cannot be
    // read might use any of them: then nothing is deleted.
    void finish(const clsMagicList& list);

    // How many list files the last finish() read.
    int listsRead() const { return listsRead_; }
    // How many finish() calls of this run had pictures to settle.
    static int passes();

private:
    QString privateFolder_; // resolved; found with the first note
    bool privateFolderKnown_ = false;
    QSet<QString> candidates_; // resolved paths of the program's own copies
    int listsRead_ = 0;
};
