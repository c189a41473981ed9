// Change detection, the report in Memo1 and the log file.
#pragma once

// Reports each current entry of the section at ListIndex whose name stands in the
// previous section at PrevStart with another stamp.
void FindRewritten();
// Reports each current entry of the section at ListIndex whose name the previous
// section at PrevStart lacks.
void FindAdded();
// The whole comparison: the report appended to Memo1, Button1 and Button3 shown, and
// Memo1 saved as the log file named after the scan's date and time.
void CompareAndReport();
