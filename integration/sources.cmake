# Sources of integration/ (portable or Win32).
