#pragma once

// What the last duplicate search read: how many picture files it opened,
// and the most times any one file was opened (never more than once).
// Benchmarks print these; a test holds the search to them.
struct DuplicateScanCounts {
    int fileReads = 0;
    int mostReadsOfOneFile = 0;
};

DuplicateScanCounts lastDuplicateScanCounts();
