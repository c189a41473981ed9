// The snapshot file czenkai.txt and the backup snapshot file czenkai.bak in the data
// folder Kavru at the root of the Windows drive.
#pragma once

// The current scan to the snapshot file, then the previous snapshot to the backup file.
void WriteSnapshots();
// The snapshot file into PrevDate, PrevTime, PrevNames and PrevStamps.
void ReadSnapshot();
// The previous snapshot becomes the current scan.
void CopyNowToPrev();
// At start-up: the data folder and both files from a scan, when no snapshot file exists.
void CreateFirstSnapshot();
