#pragma once

// Whether a classic NetCDF file (CDF-1, CDF-2 or CDF-5) holds all the data its header says it has:
// every fixed-size variable to its begin plus its size, every record up to the record count.
// NetCDF reads what lies past a file's end as zeros, so a cut file would otherwise open and show
// 0 K; a header cut short itself reads as zeros too and is no whole file either. A header that is
// malformed rather than cut is left to NetCDF. descriptor: the open file, read with pread alone.
bool classicNetCdfIsWhole(int descriptor);

