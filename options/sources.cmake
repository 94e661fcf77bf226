# Sources of options/ (portable or Win32).
