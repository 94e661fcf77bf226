# Sources of payload/ (portable or Win32).
