# A pending write without its copy is called stale and forgotten.
# File: src/modes/PendingCheck.cpp
s/registry.ReportedFailures() == failuresBefore \&\&$/registry.ReportedFailures() == failuresBefore;/;/^ *!LastGoodKeys(registry).empty();$/d
