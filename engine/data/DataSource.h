#pragma once
// Loading a GEDCOM data source into a record store in steps (start, about a
// hundred summary steps, finish), creating a new empty data source, and
// converting inline source citations into source records. The Data Source
// dialog and the command-line tool both drive DataSourceLoader.

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "data/ChunkedReader.h"
#include "data/Processors.h"
#include "data/RecordStore.h"

namespace dv {

struct LoadOptions {
  bool namesLast = false;       // the preference to take the last NAME line as the preferred one
  bool combineSources = false;  // "Combine sources with same title, on conversion to records"
};

class DataSourceLoader {
 public:
  explicit DataSourceLoader(RecordStore& store) : store_(store) {}
  DataSourceLoader(const DataSourceLoader&) = delete;
  DataSourceLoader& operator=(const DataSourceLoader&) = delete;
  ~DataSourceLoader() {
    try {
      WaitForKeys();
    } catch (const std::bad_alloc&) {
      Abandon(kErrNoMemory);
    }
  }

  // Closes the store's data source, reads and parses path and numbers its
  // records: 0 or a string id (1, 2, 55, 75, 115, 254). On failure the store is empty.
  int Start(const std::string& path, const LoadOptions& options);
  // The same over bytes in memory.
  int StartBytes(std::string bytes, const LoadOptions& options);
  // Builds one chunk of summaries: the progress (individuals + families
  // done), or -1 when all are built.
  std::int32_t Step();
  // The after-load sequence and inline-source conversion; the summary text
  // ("%d individuals\n%d families" or "Too many ancestors/individuals").
  std::string Finish();

  std::int32_t Total() const { return individuals_ + families_; }  // gauge range
  int Steps() const { return individualSteps_ + familySteps_; }
  std::int32_t ChunkSize() const { return chunkSize_; }
  int SourcesCreated() const { return sourcesCreated_; }
  // After a load that succeeded: a message to show with its summary, 0 for
  // none (kMsgCutAtNul: lines after a NUL byte were not read).
  int Warning() const { return warning_; }
  // After Step returned -1, or after Finish: 1 when memory ran out part way
  // (the data source is then closed, as after a failed Start), else 0.
  int Failure() const { return failure_; }

 private:
  int StartParsed(ChunkedStream& file, const LoadOptions& options);
  // StartParsed, a failure to allocate ending it with 1 (no memory).
  int StartOrNoMemory(ChunkedStream& file, const LoadOptions& options);
  // Step's work, which may fail to allocate.
  std::int32_t BuildSomeSummaries();
  // Ends a load part way: the keys thread joined, the store cleared.
  void Abandon(int failure);
  // The key lists are built on a second thread while the summaries are
  // (their notes put off, as both store text in the pool); this waits for
  // them, and gathers the notes put off.
  void WaitForKeys();
  RecordStore& store_;
  std::thread keys_;
  std::optional<ProcessorSplit> keysApart_;  // this thread and keys_ on two processors
  bool keysBuilt_ = true;  // false: the second thread's lists failed (memory) and are built again
  LoadOptions options_;
  std::int32_t individuals_ = 0, families_ = 0;
  std::int32_t chunkSize_ = 1;
  int individualSteps_ = 0, familySteps_ = 0, step_ = 0;
  std::int32_t builtIndividuals_ = 0, builtFamilies_ = 0;
  int sourcesCreated_ = 0;
  int warning_ = 0;
  int failure_ = 0;
};

// Runs a whole load: 0 and the summary text, or the failing string id;
// warning, when given, receives the loader's Warning.
int LoadDataSource(RecordStore& store, const std::string& path, const LoadOptions& options,
                   std::string& summary, int* warning = nullptr);
int LoadDataSourceBytes(RecordStore& store, std::string bytes, const LoadOptions& options,
                        std::string& summary, int* warning = nullptr);

// Closes the data source: every pool, node block, index and summary block
// is released at once and the store is empty.
inline void CloseDataSource(RecordStore& store) { store.Clear(); }

// The summary text for counts.
std::string LoadSummaryText(std::int32_t individuals, std::int32_t families);

struct Date {
  int day = 1, month = 1, year = 2000;  // month 1-12
};
Date Today();
// "6 DEC 2026"
std::string FormatGedcomDate(const Date& date);

// A new, empty data source from the 15-line template: 0, 1 no memory, 2
// when the summaries cannot be sized. dataChanged becomes 1.
int NewDataSource(RecordStore& store, const Date& today, std::string_view submitterName = {});

// Converts SOUR citations with text into SOUR records (when a SOUR tag was
// read and the file has no SOUR records): the number of records created.
int ConvertInlineSources(RecordStore& store, bool combineSameTitle);

}  // namespace dv
