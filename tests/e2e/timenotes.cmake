# No end-to-end tests of this area: the time-note dialog is driven by its unit test.
