// The per-user settings file, shared by every run of every program on this platform.
#pragma once

#include "registry/registry_file.h"

#include <string>
#include <utility>

namespace luma {

// One change a run makes: a key created, a value set, a value deleted.
struct RegistryChange {
    enum Kind { createKey, setValue, deleteValue };
    Kind kind = createKey;
    std::string keyPath; // as written
    RegistryValue value; // of a deleted value only the name counts
};

void applyChange(RegistryTree& tree, const RegistryChange& change);

// The settings file at one path. A run reads it once; each save replays one change of the
// run onto what the file holds at that moment, under a lock, so that runs at the same time
// never undo each other's values and values a run merely read are never written back.
// The file is replaced at once (temporary file, fsync, rename): never half-written.
class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path(std::move(path)) {}

    // A missing file is an empty tree; a damaged or unreadable one is an empty tree and
    // one warning on stderr.
    RegistryTree load();
    // False when the change could not be saved; the first such failure is said on stderr.
    bool save(const RegistryChange& change);

private:
    bool saveLocked(const RegistryChange& change, std::string& problem);
    void removeTemporariesOfEndedRuns() const;

    std::string path;
    bool saveProblemSaid = false;
};

} // namespace luma
