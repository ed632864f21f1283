#pragma once

#include "sim/SimFirmware.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The flash of the simulated products, kept in one file between runs as a real device keeps
// its memory: loaded at start, written atomically whenever the host has finished a change
// (it leaves configuration mode) and once more at the end. The writes after a change run on a
// thread of their own, so that the host's exchange does not wait for the disk. A file that cannot be read is kept
// aside and the products start from their factory memory; records of products or regions
// this program does not know are written back unchanged.
class SimFlashFile : public std::enable_shared_from_this<SimFlashFile> {
public:
    enum class LoadResult { Missing, Loaded, Damaged };

    explicit SimFlashFile(std::string path);
    ~SimFlashFile();
    SimFlashFile(const SimFlashFile&) = delete;
    SimFlashFile& operator=(const SimFlashFile&) = delete;

    // Adds a product's firmware under its name (at most 15 bytes); its commits save the file.
    // The file must be owned by a shared_ptr.
    void Add(const std::string& product, std::shared_ptr<SimFirmware> firmware);
    // Puts the file's regions into the firmwares added so far.
    LoadResult Load();
    // Writes the file when some flash changed since the last write; false when writing failed.
    bool Save();
    // Waits until the writes asked for by finished changes are done.
    void WaitForPendingSaves();
    const std::string& Path() const { return m_path; }

private:
    struct Entry {
        std::string product;
        std::shared_ptr<SimFirmware> firmware;
        uint64_t savedChanges = 0;
    };
    struct Record {
        std::string product;
        uint8_t region = 0;
        std::vector<uint8_t> bytes;
    };

    bool Parse(const std::string& bytes, std::vector<Record>& records) const;
    std::string Serialise(const std::vector<Record>& records) const;
    std::vector<Record> CurrentRecords() const;
    bool Changed() const;
    void RequestSave();
    void SaveWhenAsked();

    std::string m_path;
    mutable std::mutex m_lock;
    std::vector<Entry> m_entries;
    std::vector<Record> m_foreign; // records of products or regions we do not know
    bool m_loaded = false;         // a file was read, or there was none: saving may replace it

    std::mutex m_saverLock; // guards the three below
    std::condition_variable m_saverWake;
    bool m_saveAsked = false;
    bool m_saving = false;
    bool m_stopping = false;
    std::thread m_saver;
};
