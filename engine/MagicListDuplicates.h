#pragma once

// How many times the last duplicate search opened picture files: once per
// file at most for its byte sum, and for each pair whose sums agree, once
// per file of the pair to compare their bytes. Benchmarks print these.
struct DuplicateScanCounts {
    int checksumReads = 0;
    int compareReads = 0;
};

DuplicateScanCounts lastDuplicateScanCounts();
