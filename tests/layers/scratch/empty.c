/* A library needs a source; this one has nothing to say. */
