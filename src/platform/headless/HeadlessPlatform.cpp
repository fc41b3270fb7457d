// placeholder, replaced by the headless platform
