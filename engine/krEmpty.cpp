// Placeholder translation unit for an engine folder that has no sources yet.
