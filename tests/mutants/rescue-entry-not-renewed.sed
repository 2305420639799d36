# The rescue at start does not register the logon entry again before it asks.
# File: src/modes/PendingCheck.cpp
/^  RenewLogonEntry(registry, services.system.ProgramPath());$/d
